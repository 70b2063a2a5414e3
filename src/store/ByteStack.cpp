#include "store/ByteStack.h"

namespace sondrake {

ByteStack& byteStack()
{
    static ByteStack stack;
    return stack;
}

} // namespace sondrake
