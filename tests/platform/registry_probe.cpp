// Prints RegRead(HKEY_CURRENT_USER, key, name) for each name, one line each in UTF-8.
#include "platform/registry.h"

#include <cstdio>

int main(int argc, char** argv) {
    for (int i = 2; i < argc; ++i)
        std::printf("%s\n", RegRead(HKEY_CURRENT_USER, argv[1], argv[i]).toUtf8().constData());
}
