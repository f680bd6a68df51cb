#include "platform/Memory.hpp"

#include <malloc.h>

void returnFreedMemory()
{
    malloc_trim(0);
}
