#include "connector_set.h"
#include "ce_exchange_file.h"
#include "link_connector.h"
#ifdef FERROW_CARD_FILES
#include "palm_exchange.h"
#endif

namespace ferrow {

void RegisterConnectors() {
    static CWindowsCeConnector windowsCe;
    SetConnector(ConnectorKind::WindowsCe, &windowsCe);
#ifdef FERROW_CARD_FILES
    static CPalmExchangeConnector palmExchange;
    SetConnector(ConnectorKind::PalmExchange, &palmExchange);
#endif
}

}  // namespace ferrow
