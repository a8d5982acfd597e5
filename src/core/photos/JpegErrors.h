#pragma once

#include <csetjmp>
#include <cstdio> // jpeglib.h uses FILE and size_t without including their headers

#include <jpeglib.h>

// libjpeg reports errors through a callback that must not return: it jumps back to the
// setjmp of the function that set up the codec. That function must hold no object with a
// destructor between its setjmp and the libjpeg calls, so the jump skips no C++ cleanup.
// Warnings (damaged data libjpeg decodes all the same) are counted but never printed:
// damaged photos are the user's business, not standard error's.
struct JpegErrors {
    jpeg_error_mgr pub{};
    std::jmp_buf jump{};
};

inline jpeg_error_mgr* quietJpegErrors(JpegErrors& errors) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = [](j_common_ptr cinfo) {
        std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
    };
    errors.pub.output_message = [](j_common_ptr) {};
    return &errors.pub;
}
