// The launch menu: the entry list as nested image menus, or a plain placeholder menu.
#pragma once

#include <windows.h>

#include "base/text.h"
#include "entries/entry_list.h"

namespace diduzo {

// The current launch menu (null when a rebuild could not create one).
HMENU launchMenu();

// Makes the launch menu an image menu holding only the greyed placeholder "(empty)", id 10.
void createLaunchMenuPlaceholder();

// Rebuilds the launch menu from the list; touches neither the disk nor the list's cursor.
void rebuildLaunchMenu(EntryList& list);

// Destroys the launch menu (at exit); the entries keep their icons.
void destroyLaunchMenu();

// The shell's small icon of an existing file, owned by the caller (DestroyIcon); null when none.
IconHandle smallFileIcon(const Text& path);

}  // namespace diduzo
