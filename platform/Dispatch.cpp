#include "platform/Dispatch.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/UiServices.h"

#include <exception>
#include <new>

namespace mv {

bool Dispatch(UiServices& ui, const std::function<void()>& handler,
              const std::function<void()>& showState) {
    std::string message;
    try {
        handler();
        return true;
    } catch (const Failure& failure) {
        message = MessageBoxText(failure.message());
    } catch (const std::bad_alloc&) {
        message = MessageBoxText(Sjis("メモリが不足しています"));
    } catch (const std::exception& e) {
        // Not a failure of the core's own: a library's message, in its own (ASCII) words.
        message = MessageBoxText(e.what());
    }
    if (showState) {
        Dispatch(ui, showState);
    }
    ui.ShowError(message);
    return false;
}

} // namespace mv
