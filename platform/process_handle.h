#pragma once

namespace kestrun {

// A handle on the own process (a pidfd) that child processes inherit under the same number;
// -1 when the system cannot give one.
int OpenInheritableProcessHandle();

// Waits, without a time limit and without polling, until the process of an inherited handle
// has ended, then closes the handle. False, and nothing closed, when the number is not a
// process handle of this process.
bool WaitForProcessHandle(int handle);

void CloseProcessHandle(int handle);

}  // namespace kestrun
