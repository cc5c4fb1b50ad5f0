// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// Whole-file reads and safe writes of the program's text files (GBK on disk, UTF-8 in memory, CR LF).
namespace textfile {

/// Reads a GBK text file into UTF-8 lines; a line ends at CR LF, at a lone LF or at a lone CR.
/// nullopt when the file cannot be opened.
std::optional<std::vector<std::string>> ReadLines(const std::string& path);

/// Reads a file's raw bytes; nullopt when it cannot be opened.
std::optional<std::string> ReadBytes(const std::string& path);

/// Writes bytes to a temporary file in the same folder and renames it over `path`, so that a failed write
/// never leaves half a file and never damages the old one. False when anything fails (the temporary file
/// is removed then). A write that succeeds also removes what earlier saves of the file left behind.
bool WriteAtomically(const std::string& path, std::string_view bytes);

/// One file of a save that writes several files together: where it goes and its bytes.
struct FileToWrite {
    std::string path;
    std::string bytes;
};

/// Writes files that belong together all or none: each to a temporary file in its folder first, then
/// each renamed over its target only once all were written. When anything fails, the files already put
/// in place get their earlier bytes back (or go again when there were none), every temporary file is
/// removed, and the files on disk stay as they were. nullopt when all were written; otherwise the index
/// in `files` of the one that failed.
std::optional<std::size_t> WriteAllOrNone(const std::vector<FileToWrite>& files);

/// Whether `name` (a bare file name) is a temporary file that WriteAtomically made for the file `target`
/// (a bare file name) and a save that was cut off left behind: the target's name, ".tmp" and six letters
/// or digits. Nothing else is ever taken for one.
bool IsLeftoverOf(std::string_view name, std::string_view target);

/// Removes the leftover temporary files of `path` from its folder; the number removed.
int RemoveLeftovers(const std::string& path);

/// Turns a path written with '\' into a local one, matching each existing component without regard to
/// letter case: the data folder is spelt both "ConfigFiles" and "configfiles". An exact match wins, then the
/// smallest name that differs only in case; components that do not exist keep their spelling, so a file
/// about to be written gets the name the caller gave. A relative path stays relative.
std::string ResolveCaseInsensitive(std::string_view path);

/// Writes UTF-8 lines as GBK, each ended by CR LF, through WriteAtomically.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines);

} // namespace textfile
