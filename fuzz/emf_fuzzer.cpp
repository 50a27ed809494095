#include "fuzz/FuzzPicture.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    startFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzPicture(data, size, pictures::PictureFormat::Emf);
    return 0;
}
