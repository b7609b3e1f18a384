#pragma once
// The plan files in the data folder, one reader/writer pair per format: the plan list
// "Orvane.LST", the route data file PlanName.RTD and the ridge/valley file PlanName.RVD,
// with the plan name's own rules.
#include "plans/PlanList.h"
#include "plans/PlanName.h"
#include "plans/RidgeValleyFile.h"
#include "plans/RouteFile.h"
