// Every platform service as a fake, bundled the way the program hands them to its
// classes. Tests derive from it (or hold one) and reach each fake by name; `Boxes`
// lets a test answer message boxes its own way.
#pragma once

#include "fakes/fake_dialog_host.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_graphics.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_resources.h"
#include "fakes/fake_services.h"
#include "fakes/fake_string_table.h"
#include "platform/services.h"

namespace fakes {

template <class Boxes = FakeMessageBoxes>
struct FakePlatform {
    FakeStringTable strings;
    Boxes boxes;
    FakeSingleInstance instance;
    FakeSystemSetup setup;
    FakeDialogHost dialogs;
    FakeResources resources;
    FakeGraphics graphics;
    FakeRegistry registry;
    FakeFileSystem files;
    platform::Services services{strings,   boxes,    instance, setup, dialogs,
                                resources, graphics, registry, files};
};

}  // namespace fakes
