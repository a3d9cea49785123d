// A picture plug-in that fails its GetPicture after writing junk into the
// handle variables, as a careless plug-in may: a caller that touched those
// handles would lock and free memory that was never given. Built a second
// time as a plug-in that faults inside GetPicture.
#include <windows.h>

extern "C" {

__declspec(dllexport) int WINAPI IsSupported(LPCSTR, void*) { return 1; }

__declspec(dllexport) int WINAPI GetPicture(LPCSTR, LONG_PTR, unsigned int, HLOCAL* pHBInfo, HLOCAL* pHBm, FARPROC,
                                            LONG_PTR) {
    *pHBInfo = reinterpret_cast<HLOCAL>(static_cast<UINT_PTR>(0xDEAD0000));
    *pHBm = reinterpret_cast<HLOCAL>(static_cast<UINT_PTR>(0xBEEF0000));
#ifdef QUIB_FAKE_PICTURE_FAULTS
    // A plug-in that breaks on a picture it thought it could read.
    *static_cast<volatile int*>(nullptr) = 1;
#endif
    return 3;
}

}  // extern "C"
