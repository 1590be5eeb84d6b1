#include "platform/Dispatch.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/UiServices.h"

#include <exception>
#include <new>

namespace mv {

bool Dispatch(UiServices& ui, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const Failure& failure) {
        ui.ShowError(MessageBoxText(failure.message()));
    } catch (const std::bad_alloc&) {
        ui.ShowError(MessageBoxText(Sjis("メモリが不足しています")));
    } catch (const std::exception& e) {
        // Not a failure of the core's own: a library's message, in its own (ASCII) words.
        ui.ShowError(MessageBoxText(e.what()));
    }
    return false;
}

} // namespace mv
