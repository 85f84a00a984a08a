#pragma once
// The form cache of a settings object: what the user typed and ticked in an assistant's
// pages, kept by item name so that the next assistant of the same object starts filled.
// The assistant is seen through the few calls the cache needs.

#include <string>

#include "crash/lists/sw_fields.h"

namespace palvetta {

enum TFormCacheItemKind { fkOther, fkEdit, fkCheckBox };

class IFormCacheItem {
 public:
  virtual TFormCacheItemKind Kind() = 0;
  virtual std::u16string Name() = 0;
  virtual std::u16string Text() = 0;
  virtual void SetText(const std::u16string& text) = 0;
  virtual bool Checked() = 0;
  virtual void SetChecked(bool checked) = 0;

 protected:
  ~IFormCacheItem() = default;
};

class IFormCachePage {
 public:
  // Whether the user left the page with its OK (continue) result.
  virtual bool Accepted() = 0;
  virtual int ItemCount() = 0;
  virtual IFormCacheItem& Item(int index) = 0;
  virtual bool ContinueEnabled() = 0;
  // Makes the continue button the page's active control.
  virtual void ActivateContinue() = 0;

 protected:
  ~IFormCachePage() = default;
};

class IFormCacheAssistant {
 public:
  virtual int PageCount() = 0;
  virtual IFormCachePage& Page(int index) = 0;

 protected:
  ~IFormCacheAssistant() = default;
};

// Stores the edits' texts and the check boxes' "+" or "-" of every accepted page (an
// empty text removes its entry).
void FillFormCache(ISWFields& cache, IFormCacheAssistant& assistant);
// Restores what the cache holds; a page whose every edit and check box was restored gets
// its continue button as active control, when that is enabled.
void ReadFormCache(ISWFields& cache, IFormCacheAssistant& assistant);

}  // namespace palvetta
