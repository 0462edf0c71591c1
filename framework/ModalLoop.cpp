#include "framework/ModalLoop.h"

#include <optional>
#include <vector>

namespace {

struct OpenLoop {
    CModalLoop::Kind kind;
    HWND window = nullptr;   // the dialog or message box, once created
};

struct WaitingRequest {
    HWND target;
    UINT message;
    WPARAM wParam;
};

struct Loops {
    std::vector<OpenLoop> open;   // outermost first
    std::optional<WaitingRequest> waiting;
    HHOOK creationHook = nullptr;
};

Loops& State()
{
    static Loops loops;
    return loops;
}

bool IsTopLevelDialog(HWND window, const CREATESTRUCTA& created)
{
    char name[8] = {};
    return (created.style & WS_CHILD) == 0 && GetClassNameA(window, name, sizeof name) > 0 &&
           lstrcmpA(name, "#32770") == 0;
}

// The loops of the system's calls (MessageBox, GetOpenFileName) do not tell
// their window: the first top-level dialog created while the innermost loop
// has none is its own.
LRESULT CALLBACK NoteLoopWindow(int code, WPARAM wParam, LPARAM lParam)
{
    Loops& loops = State();
    if (code == HCBT_CREATEWND && !loops.open.empty()) {
        OpenLoop& innermost = loops.open.back();
        HWND window = reinterpret_cast<HWND>(wParam);
        const auto* creation = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        if (innermost.window == nullptr && innermost.kind != CModalLoop::Kind::Menu &&
            IsTopLevelDialog(window, *creation->lpcs))
            innermost.window = window;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void End(const OpenLoop& loop)
{
    switch (loop.kind) {
    case CModalLoop::Kind::Dialog:
        if (loop.window != nullptr && IsWindow(loop.window))
            EndDialog(loop.window, IDCANCEL);
        break;
    case CModalLoop::Kind::FileDialog:
        if (loop.window != nullptr && IsWindow(loop.window))
            PostMessageA(loop.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        break;
    case CModalLoop::Kind::Menu: EndMenu(); break;
    }
}

// The application's loop may sit in GetMessage handling a sent message: a
// posted message brings it round to deliver.
void WakeApplicationLoop(const WaitingRequest& request) { PostMessageA(request.target, WM_NULL, 0, 0); }

}   // namespace

CModalLoop::CModalLoop(Kind kind) : mayRun(!ProgramEnding())
{
    if (!mayRun)
        return;
    Loops& loops = State();
    loops.open.push_back(OpenLoop{kind});
    if (loops.creationHook == nullptr)
        loops.creationHook = SetWindowsHookExA(WH_CBT, NoteLoopWindow, nullptr, GetCurrentThreadId());
}

CModalLoop::~CModalLoop()
{
    if (!mayRun)
        return;
    Loops& loops = State();
    loops.open.pop_back();
    if (!loops.open.empty())
        return;
    if (loops.creationHook != nullptr) {
        UnhookWindowsHookEx(loops.creationHook);
        loops.creationHook = nullptr;
    }
    if (loops.waiting)
        WakeApplicationLoop(*loops.waiting);
}

bool CModalLoop::AnyOpen() { return !State().open.empty(); }

bool CModalLoop::ProgramEnding() { return State().waiting.has_value(); }

bool CModalLoop::EndAllThenSend(HWND target, UINT message, WPARAM wParam)
{
    Loops& loops = State();
    if (loops.waiting)
        return false;
    loops.waiting = WaitingRequest{target, message, wParam};
    // Innermost first: each loop returns into the one around it.
    for (auto loop = loops.open.rbegin(); loop != loops.open.rend(); ++loop)
        End(*loop);
    WakeApplicationLoop(*loops.waiting);
    return true;
}

void CModalLoop::DeliverWaitingRequest()
{
    Loops& loops = State();
    if (!loops.open.empty() || !loops.waiting)
        return;
    const WaitingRequest request = *loops.waiting;
    // Cleared first: what the request runs (the exit question) may open loops.
    loops.waiting.reset();
    if (IsWindow(request.target))
        SendMessageA(request.target, request.message, request.wParam, 0);
}
