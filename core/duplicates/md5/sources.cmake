# The MD5 code of the duplicate search: sources and their build settings.
