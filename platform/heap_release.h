// Handing the memory that the program has freed back to the system, so that what a long
// session shows as its size follows what it holds (a large run's memory leaves with the run).
#pragma once

namespace tallyrun::platform {

// Gives back the free pages of every heap of the process. The C library keeps what a thread
// frees in that thread's heap, and the scanning threads' heaps keep a large run's listings
// (tens of MB each) after the run; called once a large piece of work has freed its memory.
void ReleaseFreeHeap();

} // namespace tallyrun::platform
