#ifndef DRAVIK_FRAMEWORK_LAYER_H
#define DRAVIK_FRAMEWORK_LAYER_H

// The framework layer: components, strategies, events, the manager, grids and names.
#include "framework/ActiveGrids.h"
#include "framework/BufferCellLookup.h"
#include "framework/CompositeNode.h"
#include "framework/ConstantProvider.h"
#include "framework/DravikEvent.h"
#include "framework/DravikManager.h"
#include "framework/FrameTimer.h"
#include "framework/IBuffer.h"
#include "framework/IBufferProxy.h"
#include "framework/Point3d.h"
#include "framework/RandomNumber.h"
#include "framework/SafeNumbers.h"
#include "framework/VisComponent.h"
#include "framework/VisComponentStrategy.h"

#endif
