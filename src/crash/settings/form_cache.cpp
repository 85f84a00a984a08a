#include "crash/settings/form_cache.h"

namespace palvetta {
namespace {

bool IsCached(IFormCacheItem& item) { return item.Kind() == fkEdit || item.Kind() == fkCheckBox; }

}  // namespace

void FillFormCache(ISWFields& cache, IFormCacheAssistant& assistant) {
  for (int p = 0; p < assistant.PageCount(); ++p) {
    IFormCachePage& page = assistant.Page(p);
    if (!page.Accepted()) continue;
    for (int i = 0; i < page.ItemCount(); ++i) {
      IFormCacheItem& item = page.Item(i);
      if (item.Kind() == fkEdit) cache.SetContent(item.Name(), item.Text());
      if (item.Kind() == fkCheckBox) cache.SetContent(item.Name(), item.Checked() ? u"+" : u"-");
    }
  }
}

void ReadFormCache(ISWFields& cache, IFormCacheAssistant& assistant) {
  for (int p = 0; p < assistant.PageCount(); ++p) {
    IFormCachePage& page = assistant.Page(p);
    int restored = 0;
    bool allRestored = true;
    for (int i = 0; i < page.ItemCount(); ++i) {
      IFormCacheItem& item = page.Item(i);
      if (!IsCached(item)) continue;
      if (cache.FindItem(item.Name()) < 0) {
        allRestored = false;
        continue;
      }
      const std::u16string value = cache.GetContent(item.Name());
      if (item.Kind() == fkEdit) item.SetText(value);
      if (item.Kind() == fkCheckBox) item.SetChecked(value == u"+");
      ++restored;
    }
    if (allRestored && restored > 0 && page.ContinueEnabled()) page.ActivateContinue();
  }
}

}  // namespace palvetta
