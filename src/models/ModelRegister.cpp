#include "models/ModelRegister.h"

#include "models/ModelDialogs.h"
#include "models/ModelViews.h"
#include "shell/Registry.h"

namespace tablon {

void RegisterModels(ShellRegistry& registry) {
    registry.RegisterView<CHdrInfo>();
    registry.RegisterView<CParentView>();
    registry.RegisterView<CLodTable>();
    registry.RegisterView<CTexTable>();
    registry.RegisterView<CColTable>();
    // The parent dialog writes its record itself (the class-table editor opens it on a parent
    // it names): the caller has nothing to write back.
    registry.RegisterRecordDialog({FileId::Hdr, ModelTable::Parents},
                                  [](ShellContext& ctx, int index, Bytes&) {
                                      RunParentDialog(ctx, index);
                                      return Answer::Cancel;
                                  });
    RegisterModelVerbs(registry);
}

}  // namespace tablon
