#pragma once

// Corner weights and cross-fade mixes of the two-axis vector joystick.
struct VectorMix
{
    double a = 0.0;
    double b = 0.0;
    double c = 0.0;
    double d = 0.0;
    double mixAC = 0.0;
    double mixBD = 0.0;
};

// x and y run from -1 to 1; rotate turns the grid by 45 degrees.
VectorMix computeVectorMix(double x, double y, bool rotate);
