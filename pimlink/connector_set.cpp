#include "connector_set.h"
#include "ce_exchange_file.h"
#include "link_connector.h"
#include "outlook_express.h"
#include "outlook_link.h"
#include "palm_exchange.h"

namespace ferrow {

void RegisterConnectors() {
    static CWindowsCeConnector windowsCe;
    SetConnector(ConnectorKind::WindowsCe, &windowsCe);
    static CPalmExchangeConnector palmExchange;
    SetConnector(ConnectorKind::PalmExchange, &palmExchange);
    static COutlookConnector outlook;
    SetConnector(ConnectorKind::Outlook, &outlook);
    static COutlookExpressConnector outlookExpress;
    SetConnector(ConnectorKind::OutlookExpress, &outlookExpress);
}

}  // namespace ferrow
