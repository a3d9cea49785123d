#include "app/MainKeyMap.h"

#include "app/FormBase.h"
#include "app/MainMenuTable.h"

namespace quib {

KeyMapTable InitMainKeyMap(int /*variant*/, const TFormBase* window) {
    return BuiltInKeyTable(MainCommandTable(), window);
}

}  // namespace quib
