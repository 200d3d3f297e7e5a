#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrun {

// The protocol by which a running program removes its own file. The starting side copies the
// program into the temporary folder and starts the copy with the arguments
//   <copy path> <inherited process handle> <program file>
// then returns; the caller ends the process. The copy, on the waiting side, waits for that
// process to end and deletes its program file. The copy's own file is removed as soon as it
// runs, and its instance lock file when it has done its work, so nothing stays behind.

// True for the copy that the starting side leaves behind: a program file in the temporary
// folder (which ends with a separator). Its arguments belong to the protocol.
bool RunsFromTemporaryFolder(std::string_view programFile, std::string_view temporaryFolder);

// Takes the starting side for the running program when the process has no arguments besides
// its name, else the waiting side with these arguments. Always 0.
int SelfDelete(const std::vector<std::string>& arguments);

// The starting side for a given program file and temporary folder (ending with a separator).
// Always 0: when the copy cannot be made or started, the program file simply stays.
int StartSelfDelete(const std::string& programFile, const std::string& temporaryFolder);

// The waiting side. Deletes nothing unless the arguments are exactly the three above and the
// handle is a process handle whose process has ended. Always 0.
int FinishSelfDelete(const std::vector<std::string>& arguments);

}  // namespace kestrun
