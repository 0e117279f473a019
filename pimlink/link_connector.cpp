#include "link_connector.h"

namespace ferrow {

namespace {
CLinkConnector* g_connectors[static_cast<int>(ConnectorKind::Count)] = {};
}

CLinkConnector* FindConnector(ConnectorKind kind) { return g_connectors[static_cast<int>(kind)]; }

CLinkConnector* SetConnector(ConnectorKind kind, CLinkConnector* connector) {
    CLinkConnector*& slot = g_connectors[static_cast<int>(kind)];
    CLinkConnector* previous = slot;
    slot = connector;
    return previous;
}

}  // namespace ferrow
