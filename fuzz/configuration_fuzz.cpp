// Configuration files and command lines from outside: every line of the input applied to the
// settings, the whole input read as a configuration file, and its command-line arguments.
#include "base/configuration.h"
#include "base/errors.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const std::string text = fuzz::Text(data, size);
    LibrarySettings settings;
    ConfigRequests requests{};
    quill::SetDefaultSettings(&settings);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        quill::ReadConfigurationLine(text.data() + start, end - start, &settings, &requests);
        start = end + 1;
    }
    std::string path = fuzz::ScratchFile(data, size, ".ini");
    if (!path.empty()) {
        quill::SetDefaultSettings(&settings);
        quill::ReadConfigurationFile(path.c_str(), &settings, &requests);
        std::remove(path.c_str());
    }
    // Restore the report level a DEBUG line may have raised.
    int level = 0;
    idebuglevel_(&level);
    std::string line = text.substr(0, text.find('\0'));
    char arg[64];
    for (int n = 0; n < 8; ++n) quill::CommandLineArgument(line.c_str(), n, arg, sizeof arg);
    return 0;
}
