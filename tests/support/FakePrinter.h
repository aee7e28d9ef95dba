// A 600-dpi A4 portrait printer without a device (4960 x 7016 dots), made
// the current printer for the life of the object.
#pragma once
#include "platform/UnitPrinter.h"

struct FakeA4 {
    FakeA4() : printer(MakeFakePrinter("Fake600", 9, 1, 600, 0, 0, 4960, 7016))
    {
        SetPrinters(printer.get());
    }
    ~FakeA4() { SetPrinters(nullptr); }
    std::unique_ptr<PrinterService> printer;
};
