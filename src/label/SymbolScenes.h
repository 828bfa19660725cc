#pragma once
// Labels of several symbols: an element string too long for one GS1-128
// symbol, stacked over as many as it needs, and the GS1 logistics label.
// Both throw std::runtime_error with what keeps the label from its stock.
#include "label/BatchRender.h"
#include "render/LabelScene.h"
#include "symbol/Gs1Data.h"

namespace velmora::label {

// The elements over GS1-128 symbols one under the other, each laid out as the
// template lays out its one symbol, none wider than `maxWidth` mm (0: GS1-128's
// own limit).
render::LabelScene StackedScene(const symbol::Elements& elements, const symbol::Gs1Data& gs1,
                                const render::TemplateGeometry& g, const RenderOptions& o, double maxWidth);

// The GS1 logistics label of the elements on the run's stock: GS1-128 symbols
// (the SSCC alone in the lowest), or `whole`, the one 2D symbol --symbol asks for.
render::LabelScene LogisticScene(const symbol::Elements& elements, const symbol::EncodedSymbol& whole,
                                 const symbol::Gs1Data& gs1, const RenderOptions& o);

// GS1-128's module on a logistics label unless --module says otherwise, mm.
inline constexpr double kLogisticModule = 0.5;

}  // namespace velmora::label
