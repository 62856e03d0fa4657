// add-printer PORT: gives a Wine prefix the spooler queue "Arvane QZ-70" that the
// controller-library port prints to, with a RAW data type so that the job's bytes
// reach PORT unchanged. PORT is a Wine pipe port ("|command") for the tests and the
// run command. A queue of that name already there is replaced, so that a prefix kept
// from an earlier run gets the new port. Exit status: 0 added, 1 the spooler
// refused, 2 wrong usage.
#include <windows.h>

#include <winspool.h>

#include <cstdio>
#include <string>

namespace {

bool AddDriver(std::wstring& name, std::wstring& dataType) {
    // Wine's PostScript driver: any driver does, a RAW job bypasses it.
    std::wstring file = L"wineps.drv";
    DRIVER_INFO_3W driver{};
    driver.cVersion = 3;
    driver.pName = name.data();
    driver.pDriverPath = file.data();
    driver.pDataFile = file.data();
    driver.pConfigFile = file.data();
    driver.pDefaultDataType = dataType.data();
    if (!AddPrinterDriverExW(nullptr, 3, reinterpret_cast<LPBYTE>(&driver), APD_COPY_NEW_FILES)) {
        std::fprintf(stderr, "add-printer: AddPrinterDriverExW failed: %lu\n", GetLastError());
        return false;
    }
    return true;
}

void DeleteQueue(std::wstring& name) {
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE printer = nullptr;
    if (OpenPrinterW(name.data(), &printer, &access)) {
        DeletePrinter(printer);
        ClosePrinter(printer);
    }
}

bool AddQueue(std::wstring port, std::wstring& driverName, std::wstring& dataType) {
    std::wstring printerName = L"Arvane QZ-70";
    DeleteQueue(printerName);
    std::wstring processor = L"winprint";
    PRINTER_INFO_2W printer{};
    printer.pPrinterName = printerName.data();
    printer.pPortName = port.data();
    printer.pDriverName = driverName.data();
    printer.pPrintProcessor = processor.data();
    printer.pDatatype = dataType.data();
    const HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&printer));
    if (added == nullptr) {
        std::fprintf(stderr, "add-printer: AddPrinterW failed: %lu\n", GetLastError());
        return false;
    }
    ClosePrinter(added);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: add-printer PORT\n");
        return 2;
    }
    std::wstring driverName = L"Tarnel Test Driver";
    std::wstring dataType = L"RAW";
    if (!AddDriver(driverName, dataType) || !AddQueue(argv[1], driverName, dataType)) {
        return 1;
    }
    std::printf("printer \"Arvane QZ-70\" added on port %ls\n", argv[1]);
    return 0;
}
