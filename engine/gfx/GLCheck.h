#pragma once
// Debug-only OpenGL error checks. glCheck(call) runs the call and, in builds
// without NDEBUG, prints one line per pending GL error naming the file, the
// line, the expression and the error; glCheckPending() reports whatever a
// sequence of calls left pending. Never use either between glBegin and
// glEnd: glGetError is not allowed there.
#include <GL/gl.h>
#include <cstdio>

namespace glcheck {

inline const char* errorName(GLenum error)
{
    switch (error) {
    case GL_INVALID_ENUM: return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE: return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION: return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW: return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW: return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY: return "GL_OUT_OF_MEMORY";
    default: return "unknown GL error";
    }
}

inline void report(const char* file, int line, const char* expression)
{
    // Bounded: without a current context glGetError may keep failing.
    for (int i = 0; i < 8; ++i) {
        GLenum error = glGetError();
        if (error == GL_NO_ERROR)
            return;
        std::printf("GL error %s (0x%04x) at %s:%d in %s\n", errorName(error), error, file, line, expression);
    }
}

} // namespace glcheck

#ifdef NDEBUG
#define glCheck(call) call
#define glCheckPending() ((void)0)
#else
#define glCheckPending() glcheck::report(__FILE__, __LINE__, "previous calls")
#define glCheck(call)                                  \
    do {                                               \
        call;                                          \
        glcheck::report(__FILE__, __LINE__, #call);    \
    } while (false)
#endif
