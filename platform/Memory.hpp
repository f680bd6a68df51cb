#pragma once

// Gives the memory the program has freed back to the system: reading a large script
// frees as much again as the script keeps (its file's bytes, the parse), which the
// allocator would otherwise hold as the program's own.
void returnFreedMemory();
