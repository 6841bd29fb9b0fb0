#pragma once

#include <filesystem>

namespace vorden {

// One run of the stand-in in folder: reads lobe.dat, checks it and writes
// lobe.out (through a temporary file and a rename, so a viewer never sees a
// partial report). Returns the exit status: 0 for a well-formed lobe.dat,
// 1 when it is missing, unreadable or malformed (lobe.out then says why) or
// when lobe.out cannot be written (the reason goes to standard error).
int runStandin(const std::filesystem::path& folder);

}  // namespace vorden
