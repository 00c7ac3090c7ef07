#pragma once

// The report's view of a main window with its defaults: the units fields, lists, check box and
// radio buttons configured as the window configures them, and a model computed by the engine,
// with the results written into the result fields as the window writes them.

#include "ModelState.h"
#include "ReportSources.h"

#include <QWidget>

#include <memory>

namespace velmaro {

class DefaultWindow {
public:
    DefaultWindow();

    // The window's stages: inputs into the model, the engine's routines, results shown.
    void Recompute();

    ReportSources sources;
    ModelState model;

private:
    void CreateFields();
    void CreateChoices();

    std::unique_ptr<QWidget> window_;
};

} // namespace velmaro
