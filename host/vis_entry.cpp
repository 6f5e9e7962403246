// The plug-in's face to the player: the header, the one module record and the
// four entries, each of which only forwards to the application object.

#include "app/vis_app.h"
#include "host/vis_module.h"

static void ConfigEntry(winampVisModule* record) {
  visApp.Attach(record);
  visApp.ShowConfigDialog();
}

static int32_t InitEntry(winampVisModule* record) {
  return visApp.Start(record);
}

// The argument is not read: the record remembered by Attach is used.
static int32_t RenderEntry(winampVisModule*) {
  return visApp.RenderFrame();
}

static void QuitEntry(winampVisModule*) {
  visApp.Stop();
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
