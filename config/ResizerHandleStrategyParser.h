#ifndef DRAVIK_CONFIG_RESIZERHANDLESTRATEGYPARSER_H
#define DRAVIK_CONFIG_RESIZERHANDLESTRATEGYPARSER_H

#include "config/StrategyParser.h"
#include "framework/Export.h"

// "ResizerHandle" and "ResizerHandleStrategy": a ResizerHandleStrategy. "color-red",
// "color-green", "color-blue", "color-alpha" set the handle's colour and "selected-red" ...
// "selected-alpha" its colour while the component is held, each only when all four of its
// attributes are present (channels from 0 to 1).
class DRAVIK_API ResizerHandleStrategyParser : public StrategyParser {
public:
    void parse(const XMLNode& node, VisComponent* component) override;
};

#endif
