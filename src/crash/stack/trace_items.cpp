#include "crash/stack/trace_items.h"

#include <algorithm>

namespace palvetta {
namespace {

// Removes the links the predicate picks; the best link is chosen again later.
template <typename Predicate>
void EraseLinks(TStackLinkList& list, Predicate pick) {
  if (std::erase_if(list.Links, pick) > 0) list.Best = -1;
}

}  // namespace

void TTraceItems::LinkBothWays(int outer, int inner, const TStackLink& call) {
  TStackLink link = call;
  link.Quality = 0;
  link.Link = outer;
  (*this)[inner].Links[ldOuter].Links.push_back(link);
  link.Link = inner;
  (*this)[outer].Links[ldInner].Links.push_back(link);
}

void TTraceItems::Delete(int index) {
  FItems.erase(FItems.begin() + index);
  for (TInternalStackItem& item : FItems)
    for (TStackLinkList& list : item.Links) {
      EraseLinks(list, [&](const TStackLink& link) { return link.Link == index; });
      for (TStackLink& link : list.Links)
        if (link.Link > index) --link.Link;
    }
}

void TTraceItems::DropLinksOfFunction(int func) {
  for (TInternalStackItem& item : FItems)
    for (TStackLinkList& list : item.Links) {
      // A candidate's description of its own call stays; only its function is forgotten.
      for (TStackLink& link : list.Links)
        if (link.Link == -1 && link.Func == func) link.Func = -1;
      EraseLinks(list, [&](const TStackLink& link) { return link.Func == func; });
    }
}

}  // namespace palvetta
