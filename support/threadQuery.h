#pragma once

// NtQueryInformationThread, looked up in ntdll at run time. Lock guards and
// the failure log make sure it is resolved; a failed look-up is retried by
// the next caller.
void resolveNtQueryInformationThread() noexcept;

// TRUE when the calling thread is the only thread left in the process;
// FALSE as well when the system cannot tell.
int isLastThreadInProcess() noexcept;
