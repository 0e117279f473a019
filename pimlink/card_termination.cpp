// Every record that leaves a conversion is terminated field by field, so that no text runs
// into its neighbour whatever the source held. Each field is cut at its own width.
#include "card_converters.h"
#include "card_rec_convert.h"
#include "card_text.h"
#include "exchange_layouts.h"

namespace ferrow {

namespace {

template <int N>
void Terminate(CardTextUnit<N>& unit) {
    TerminateAt(unit.Text, N);
}
template <size_t N>
void Terminate(char (&field)[N]) {
    TerminateAt(field, N - 1);
}

void Terminate(CardNameGroup& g) {
    Terminate(g.FullName);
    Terminate(g.FirstName);
    Terminate(g.LastName);
    Terminate(g.MiddleName);
    Terminate(g.PrefixName);
    Terminate(g.SuffixName);
}

void Terminate(CardAddressGroup& g) {
    Terminate(g.FullAddress);
    Terminate(g.Street);
    Terminate(g.City);
    Terminate(g.State);
    Terminate(g.Country);
    Terminate(g.ZipCode);
    Terminate(g.POBOX);
}

void Terminate(CardPhoneGroup& g) { Terminate(g.PhoneNum); }
void Terminate(CardEmailGroup& g) { Terminate(g.EmailName); }

template <typename T, size_t N>
void TerminateAll(T (&items)[N]) {
    for (T& item : items) Terminate(item);
}

}  // namespace

void TerminateCardRecV4Fields(CardRecV4& card) {
    Terminate(card.CNAME);
    Terminate(card.ENAME);
    TerminateAll(card.Phone);
    TerminateAll(card.Company);
    TerminateAll(card.Title);
    TerminateAll(card.Department);
    TerminateAll(card.Address);
    TerminateAll(card.Fax);
    TerminateAll(card.Email);
    TerminateAll(card.WebSite);
    TerminateAll(card.UserDef);
    TerminateAll(card.Note);
    Terminate(card.TaxID);
}

void TerminateCardRecFields(CardRec& card) {
    auto all = [](auto&... field) { (Terminate(field), ...); };
    all(card.CName, card.EName, card.Aliase, card.ComType, card.Company, card.CNumber, card.Title, card.Department,
        card.EMail, card.OPhone, card.HPhone, card.PPhone, card.BBCALL, card.Fax, card.Address, card.City, card.State,
        card.Zip, card.Country, card.AltName, card.AltAddress, card.AltCity, card.AltState, card.AltZip, card.Category1,
        card.Category2, card.User1, card.User2, card.User3, card.User4, card.User5, card.User6, card.User7, card.User8,
        card.User9);
}

}  // namespace ferrow
