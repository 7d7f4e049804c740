# Program object; sources added as they land.
