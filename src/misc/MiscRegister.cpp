#include "misc/MiscRegister.h"

#include "misc/MiscViews.h"
#include "shell/MvView.h"

namespace tablon {

void RegisterMisc(ShellRegistry& registry) {
    RegisterListView<CSfxView>(registry);
    RegisterListView<CRktView>(registry);
    RegisterListView<CDDPView>(registry);
}

}  // namespace tablon
