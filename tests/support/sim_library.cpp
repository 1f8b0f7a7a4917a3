#include "support/sim_library.h"

#include <gtest/gtest.h>

modlink_sim::SimControl* simControl()
{
    QString error;
    modlink_sim::SimControl* control = loadSimControl(&error);
    if (!control)
        ADD_FAILURE() << error.toStdString();
    return control;
}
