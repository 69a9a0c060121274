// Command plug-ins: registration, the base command's answers, and the host's use of them.
#include "system/CommandPlugins.h"

#include <memory>
#include <vector>

#include "c4d_basedocument.h"
#include "c4d_debug.h"
#include "c4d_standin_gui.h"

namespace {

struct Registered {
  standin::CommandPluginInfo info;
  ~Registered() {
    delete info.data;
    BaseBitmap* icon = const_cast<BaseBitmap*>(info.icon);
    BaseBitmap::Free(icon);
  }
};

std::vector<std::unique_ptr<Registered>>& Commands() {
  static auto* commands = new std::vector<std::unique_ptr<Registered>>;
  return *commands;
}

CommandData* DataOf(LONG id) {
  const standin::CommandPluginInfo* info = standin::FindCommandPlugin(id);
  return info ? info->data : nullptr;
}

}  // namespace

Bool CommandData::Execute(BaseDocument*) { return FALSE; }

LONG CommandData::GetState(BaseDocument*) { return CMD_ENABLED; }

Bool CommandData::RestoreLayout(void*) { return FALSE; }

Bool RegisterCommandPlugin(LONG id, const String& name, LONG info, BaseBitmap* icon,
                           const String& help, CommandData* data) {
  if (!data) return FALSE;
  if (id <= 0 || standin::FindCommandPlugin(id)) {
    GeDebugOut("RegisterCommandPlugin: id %d is not free", static_cast<int>(id));
    delete data;
    return FALSE;
  }
  auto entry = std::make_unique<Registered>();
  entry->info.id = id;
  entry->info.name = name;
  entry->info.info = info;
  entry->info.help = help;
  entry->info.data = data;
  if (icon) entry->info.icon = icon->GetClonePart(0, 0, icon->GetBw(), icon->GetBh());
  Commands().push_back(std::move(entry));
  return TRUE;
}

namespace standin {

const CommandPluginInfo* FindCommandPlugin(LONG id) {
  for (const auto& entry : Commands())
    if (entry->info.id == id) return &entry->info;
  return nullptr;
}

Bool ExecuteCommand(LONG id) {
  CommandData* data = DataOf(id);
  return data ? data->Execute(GetActiveDocument()) : FALSE;
}

LONG GetCommandState(LONG id) {
  CommandData* data = DataOf(id);
  return data ? data->GetState(GetActiveDocument()) : 0;
}

Bool RestoreCommandLayout(LONG id, LONG subId, LONG width, LONG height) {
  CommandData* data = DataOf(id);
  if (!data) return FALSE;
  LayoutSlot slot{id, subId, width, height};
  return data->RestoreLayout(&slot);
}

void FreeCommandPlugins() { Commands().clear(); }

}  // namespace standin
