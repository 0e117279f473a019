#include "card_file_walk.h"
#include "card_file_side.h"
#include <windows.h>
#include <string.h>

namespace ferrow {

bool ForEachCardToSend(const char* path, const std::function<void(CardRecV4& card)>& send) {
    // A missing file is the caller's mistake, not a database error to show.
    if (!path || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return false;
    CCardFileSide source(CardLayout::V4);
    if (!source.Open(path)) return false;
    ForEachCardToSend(source, send);
    return true;
}

void ForEachCardToSend(CCardFileSide& source, const std::function<void(CardRecV4& card)>& send) {
    CkvDBEngine& engine = source.Engine();
    int n = source.Count();
    if (n <= 0 || engine.RecFirst(source.Dataset()) != 1) return;
    for (int i = 0; i < n; ++i) {
        CardRecV4 card;
        memset(&card, 0, sizeof(card));
        if (engine.CardRecGetV4(source.Dataset(), &card, 0) == 1 && IsCardToSend(card)) send(card);
        engine.RecNext(source.Dataset());
    }
}

}  // namespace ferrow
