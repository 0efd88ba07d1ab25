#include "pointrix/model/win32/PointerAcceleration.h"

#include <windows.h>

#include "pointrix/model/ProgramSettings.h"

namespace pointrix {

void ApplyPointerAcceleration(bool disableOption) {
  int params[3] = {0, 0, 0};
  int speed = 10;
  SystemParametersInfoW(SPI_GETMOUSE, 0, params, 0);
  SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0);
  MouseAcceleration current{params[0], params[1], params[2], speed};
  AccelerationPlan plan = PlanPointerAcceleration(disableOption, current);
  const UINT flags = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
  if (plan.setSpeed) {
    SystemParametersInfoW(SPI_SETMOUSESPEED, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(10)), flags);
  }
  int next[3] = {plan.mouse.threshold1, plan.mouse.threshold2, plan.mouse.acceleration};
  SystemParametersInfoW(SPI_SETMOUSE, 0, next, flags);
}

}  // namespace pointrix
