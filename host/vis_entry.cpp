// The plug-in's face to the player: the header, the one module record and the
// four entries, each of which only forwards to the application object behind
// a wall that no exception passes.

#include "app/exception_wall.h"
#include "app/vis_app.h"
#include "host/vis_module.h"

constexpr int32_t kInitFailed = 1;

static void ConfigEntry(winampVisModule* record) {
  CatchAtEdge([&] {
    visApp.Attach(record);
    visApp.ShowConfigDialog();
    return 0;
  }, 0);
}

static int32_t InitEntry(winampVisModule* record) {
  return CatchAtEdge([&] { return visApp.Start(record); }, kInitFailed);
}

// The argument is not read: the record remembered by Attach is used.
static int32_t RenderEntry(winampVisModule*) {
  return CatchAtEdge([] { return visApp.RenderFrame(); }, 0);
}

static void QuitEntry(winampVisModule*) {
  CatchAtEdge([] {
    visApp.Stop();
    return 0;
  }, 0);
}

static winampVisModule theModule = {
    "Zorva", nullptr, nullptr, 0, 0, 60, 10, 2, 2, {}, {},
    ConfigEntry, InitEntry, RenderEntry, QuitEntry, nullptr,
};

static winampVisModule* GetModule(int32_t index) {
  return index == 0 ? &theModule : nullptr;
}

static const winampVisHeader theHeader = {
    kVisHeaderVersion, "Zorva for WinAmp v1.0", GetModule,
};

extern "C" __declspec(dllexport) const winampVisHeader* winampVisGetHeader() {
  return &theHeader;
}
