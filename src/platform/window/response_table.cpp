#include "platform/window/response_table.h"

#include <map>
#include <string>

void TCommandEnabler::Enable(bool enable) {
  enabled = enable;
  handled = true;
}

void TCommandEnabler::SetCheck(int state) {
  check = state;
  handled = true;
}

void TCommandEnabler::SetText(const char*) { handled = true; }

TResponseTable::TResponseTable(TBaseTable base, std::initializer_list<TResponseEntry> entries)
    : base(base), entries(entries) {}

const TResponseEntry* TResponseTable::Find(TResponseEntry::TKind kind, UINT value) const {
  for (const TResponseTable* table = this; table;) {
    for (const TResponseEntry& entry : table->entries) {
      if (entry.kind == kind && entry.first <= value && value <= entry.last) return &entry;
    }
    table = table->base ? &table->base() : nullptr;
  }
  return nullptr;
}

const TResponseEntry* TResponseTable::FindMessage(UINT message) const {
  return Find(TResponseEntry::TKind::Message, message);
}

const TResponseEntry* TResponseTable::FindCommand(UINT id) const {
  return Find(TResponseEntry::TKind::Command, id);
}

const TResponseEntry* TResponseTable::FindCommandEnable(UINT id) const {
  return Find(TResponseEntry::TKind::CommandEnable, id);
}

UINT RegisterWindowMessageA(const char* name) {
  // Registered messages take the numbers from 0xC000 on; the same name always
  // gives the same number.
  static std::map<std::string, UINT> registered;
  if (!name || !*name) return 0;
  const UINT next = 0xC000 + static_cast<UINT>(registered.size());
  return registered.try_emplace(name, next).first->second;
}
