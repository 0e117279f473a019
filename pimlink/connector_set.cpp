#include "connector_set.h"
#include "act_link.h"
#include "ce_exchange_file.h"
#include "link_connector.h"
#include "outlook_express.h"
#include "outlook_link.h"
#include "palm_desktop.h"
#include "palm_exchange.h"

namespace ferrow {

void RegisterConnectors() {
    static CWindowsCeConnector windowsCe;
    SetConnector(ConnectorKind::WindowsCe, &windowsCe);
    static CPalmExchangeConnector palmExchange;
    SetConnector(ConnectorKind::PalmExchange, &palmExchange);
    static CPalmDesktopConnector palmDesktop;
    SetConnector(ConnectorKind::PalmDesktop, &palmDesktop);
    static COutlookConnector outlook;
    SetConnector(ConnectorKind::Outlook, &outlook);
    static COutlookExpressConnector outlookExpress;
    SetConnector(ConnectorKind::OutlookExpress, &outlookExpress);
    static CActConnector act;
    SetConnector(ConnectorKind::Act, &act);
}

}  // namespace ferrow
