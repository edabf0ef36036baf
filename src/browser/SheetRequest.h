#pragma once

#include <QPageLayout>

#include <chrono>
#include <optional>

// How a page is rendered: on sheets of the layout, at the scale (none: wide pages made to fit),
// within the time limit.
struct SheetRequest
{
    QPageLayout layout;
    std::optional<double> scale;
    std::chrono::milliseconds timeLimit{0};

    bool operator==(const SheetRequest &other) const
    {
        return layout == other.layout && scale == other.scale && timeLimit == other.timeLimit;
    }
};
