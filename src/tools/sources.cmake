# Pure text tools; sources added as they land.
