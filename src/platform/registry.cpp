#include "platform/registry.h"

// Placeholder until the Wine registry file reader lands.
QString RegRead(long, const QString&, const QString&) {
    return {};
}
void RegWrite(long, const QString&, const QString&, const QString&) {}
namespace registry {
QString ownFile() {
    return {};
}
QString winePrefixFile() {
    return {};
}
} // namespace registry
