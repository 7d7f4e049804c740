# Tests of the cipher and the built-in bases.
