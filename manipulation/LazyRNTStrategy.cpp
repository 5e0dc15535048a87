#include "manipulation/LazyRNTStrategy.h"

bool LazyRNTStrategy::activateRNT(const Point3d& point) {
    (void)point;
    return true;
}
