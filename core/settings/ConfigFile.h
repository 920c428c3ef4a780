#pragma once

#include <string>
#include <string_view>

namespace yuzhou {

/// The entries of `dataconfig.ini` in the current folder. The path is built anew at every
/// access, so a change of the current folder takes effect at once. Section and key names
/// are matched without their surrounding blanks and without regard to ASCII case; values
/// are trimmed. The file is UTF-8; a file that is not valid UTF-8 is read as GBK. Nothing
/// is ever reported: a missing or unreadable file reads as empty, a failed write is lost.
class ConfigFile {
public:
    static constexpr std::string_view kFileName = "dataconfig.ini";

    /// The file's path for the current folder right now.
    static std::string path();

    /// The value of an entry; empty text when the file, the section or the key is missing.
    static std::string read(std::string_view section, std::string_view key);

    /// Creates the file, the section and the key as needed and replaces an existing value;
    /// the other entries stay. The file is replaced atomically. A value is one line: it
    /// ends at its first line break.
    static void write(std::string_view section, std::string_view key, std::string_view value);

    /// Deletes the whole file; a missing file is no error.
    static void erase();
};

} // namespace yuzhou
