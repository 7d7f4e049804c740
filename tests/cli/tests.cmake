# Tests of this layer.
