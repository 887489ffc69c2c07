#pragma once
// What the control API's hub reads and writes through the panel's rules:
// the status read, and the camera settings file operations. Shared by
// zam-ctl serve and the panel.

#include <cameralink.h>
#include <hub.h>

namespace zam::cli {

// status, save, load and diff on `link`, each addressed to the camera the
// request names (the link's selected camera is put back afterwards).
api::HubHooks apiHooks(CameraLink &link);

} // namespace zam::cli
