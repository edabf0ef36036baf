#include "browser/BrowserDrawing.h"

#include <QByteArray>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace {
// The renderers Mesa, Chromium and Windows draw with when there is no graphics card to use.
bool isSoftwareRenderer(const QByteArray &name)
{
    static const char *const softwareRenderers[] = {"llvmpipe", "softpipe", "Software Rasterizer", "SwiftShader",
                                                    "GDI Generic"};
    for (const char *software : softwareRenderers)
        if (name.contains(software))
            return true;
    return false;
}

// Without a context there is no OpenGL to compose with at all, and software is all there is.
bool openGLDrawsInSoftware()
{
    QOpenGLContext context;
    if (!context.create())
        return true;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!context.makeCurrent(&surface))
        return true;
    const auto *name = reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
    const bool software = name == nullptr || isSoftwareRenderer(QByteArray(name));
    context.doneCurrent();
    return software;
}
} // namespace

void chooseBrowserDrawing()
{
    if (openGLDrawsInSoftware())
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}
