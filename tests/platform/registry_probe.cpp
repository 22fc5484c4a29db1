// Prints RegRead(HKEY_CURRENT_USER, key, valueName) as UTF-8, so that tests can read the registry
// files from a process of its own.
#include "platform/registry.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const QByteArray text =
        RegRead(HKEY_CURRENT_USER, QString::fromUtf8(argv[1]), QString::fromUtf8(argv[2])).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return 0;
}
