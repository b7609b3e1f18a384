#include "panorama/Geodesy.h"

#include <cmath>
#include <numbers>

// Vincenty's formulae on GRS80: both problems converge to well under a millimetre for every
// pair of positions that are not nearly antipodal, which sights never are.

namespace orv::panorama {

namespace {

constexpr double kRadian = std::numbers::pi / 180.0;
constexpr double kSemiMinor = kGrs80SemiMajor * (1.0 - kGrs80Flattening);
constexpr double kEccentricity2 = kGrs80Flattening * (2.0 - kGrs80Flattening);
constexpr double kConverged = 1e-13;  // radians: far below a micrometre on the ground
constexpr int kMaxIterations = 100;

// Degrees in 0 ≤ a < 360 from radians.
double azimuthDegrees(double radians) {
    double a = std::fmod(radians / kRadian, 360.0);
    if (a < 0.0) a += 360.0;
    return a >= 360.0 ? 0.0 : a;
}

// Degrees in −180 ≤ λ < 180.
double wrapLongitude(double degrees) {
    double l = std::fmod(degrees + 180.0, 360.0);
    if (l < 0.0) l += 360.0;
    return l - 180.0;
}

// The reduced latitude's sine and cosine.
void reduced(double latitude, double& sinU, double& cosU) {
    const double tanU = (1.0 - kGrs80Flattening) * std::tan(latitude * kRadian);
    cosU = 1.0 / std::sqrt(1.0 + tanU * tanU);
    sinU = tanU * cosU;
}

// The series in u² = cos²α (a² − b²) / b² that both problems share.
struct Series {
    double a = 1.0, b = 0.0;
};
Series series(double cos2Alpha) {
    constexpr double ep2 = (kGrs80SemiMajor * kGrs80SemiMajor - kSemiMinor * kSemiMinor) /
                           (kSemiMinor * kSemiMinor);
    const double u2 = cos2Alpha * ep2;
    return {1.0 + u2 / 16384.0 * (4096.0 + u2 * (-768.0 + u2 * (320.0 - 175.0 * u2))),
            u2 / 1024.0 * (256.0 + u2 * (-128.0 + u2 * (74.0 - 47.0 * u2)))};
}

double deltaSigma(double b, double sinSigma, double cosSigma, double cos2SigmaM) {
    const double c2 = cos2SigmaM * cos2SigmaM;
    return b * sinSigma *
           (cos2SigmaM + b / 4.0 *
                             (cosSigma * (-1.0 + 2.0 * c2) -
                              b / 6.0 * cos2SigmaM * (-3.0 + 4.0 * sinSigma * sinSigma) * (-3.0 + 4.0 * c2)));
}

double lambdaCorrection(double sinAlpha, double cos2Alpha, double sigma, double sinSigma, double cosSigma,
                        double cos2SigmaM) {
    const double c = kGrs80Flattening / 16.0 * cos2Alpha * (4.0 + kGrs80Flattening * (4.0 - 3.0 * cos2Alpha));
    return (1.0 - c) * kGrs80Flattening * sinAlpha *
           (sigma + c * sinSigma * (cos2SigmaM + c * cosSigma * (-1.0 + 2.0 * cos2SigmaM * cos2SigmaM)));
}

}  // namespace

GeodesicLine inverseGeodesic(LatLon from, LatLon to) {
    const double l = wrapLongitude(to.longitude - from.longitude) * kRadian;
    double sinU1 = 0, cosU1 = 1, sinU2 = 0, cosU2 = 1;
    reduced(from.latitude, sinU1, cosU1);
    reduced(to.latitude, sinU2, cosU2);

    double lambda = l;
    double sinLambda = 0, cosLambda = 1, sinSigma = 0, cosSigma = 1, sigma = 0, sinAlpha = 0;
    double cos2Alpha = 1, cos2SigmaM = 0;
    for (int i = 0; i < kMaxIterations; ++i) {
        sinLambda = std::sin(lambda);
        cosLambda = std::cos(lambda);
        const double p = cosU2 * sinLambda;
        const double q = cosU1 * sinU2 - sinU1 * cosU2 * cosLambda;
        sinSigma = std::hypot(p, q);
        if (sinSigma == 0.0) return {};  // the same position
        cosSigma = sinU1 * sinU2 + cosU1 * cosU2 * cosLambda;
        sigma = std::atan2(sinSigma, cosSigma);
        sinAlpha = cosU1 * cosU2 * sinLambda / sinSigma;
        cos2Alpha = 1.0 - sinAlpha * sinAlpha;
        cos2SigmaM = cos2Alpha != 0.0 ? cosSigma - 2.0 * sinU1 * sinU2 / cos2Alpha : 0.0;  // 0 on the equator
        const double previous = lambda;
        lambda = l + lambdaCorrection(sinAlpha, cos2Alpha, sigma, sinSigma, cosSigma, cos2SigmaM);
        if (std::abs(lambda - previous) < kConverged) break;
    }
    const Series s = series(cos2Alpha);
    GeodesicLine line;
    line.distance = kSemiMinor * s.a * (sigma - deltaSigma(s.b, sinSigma, cosSigma, cos2SigmaM));
    line.azimuthFrom = azimuthDegrees(std::atan2(cosU2 * sinLambda, cosU1 * sinU2 - sinU1 * cosU2 * cosLambda));
    line.azimuthTo = azimuthDegrees(std::atan2(cosU1 * sinLambda, -sinU1 * cosU2 + cosU1 * sinU2 * cosLambda));
    return line;
}

LatLon directGeodesic(LatLon from, double azimuth, double distance) {
    const double sinAlpha1 = std::sin(azimuth * kRadian);
    const double cosAlpha1 = std::cos(azimuth * kRadian);
    double sinU1 = 0, cosU1 = 1;
    reduced(from.latitude, sinU1, cosU1);
    const double sigma1 = std::atan2(sinU1, cosU1 * cosAlpha1);
    const double sinAlpha = cosU1 * sinAlpha1;
    const double cos2Alpha = 1.0 - sinAlpha * sinAlpha;
    const Series s = series(cos2Alpha);

    const double sigma0 = distance / (kSemiMinor * s.a);
    double sigma = sigma0, sinSigma = 0, cosSigma = 1, cos2SigmaM = 0;
    for (int i = 0; i < kMaxIterations; ++i) {
        cos2SigmaM = std::cos(2.0 * sigma1 + sigma);
        sinSigma = std::sin(sigma);
        cosSigma = std::cos(sigma);
        const double previous = sigma;
        sigma = sigma0 + deltaSigma(s.b, sinSigma, cosSigma, cos2SigmaM);
        if (std::abs(sigma - previous) < kConverged) break;
    }
    cos2SigmaM = std::cos(2.0 * sigma1 + sigma);
    sinSigma = std::sin(sigma);
    cosSigma = std::cos(sigma);

    const double t = sinU1 * sinSigma - cosU1 * cosSigma * cosAlpha1;
    const double latitude = std::atan2(sinU1 * cosSigma + cosU1 * sinSigma * cosAlpha1,
                                       (1.0 - kGrs80Flattening) * std::hypot(sinAlpha, t));
    const double lambda = std::atan2(sinSigma * sinAlpha1, cosU1 * cosSigma - sinU1 * sinSigma * cosAlpha1);
    const double l = lambda - lambdaCorrection(sinAlpha, cos2Alpha, sigma, sinSigma, cosSigma, cos2SigmaM);
    return {latitude / kRadian, wrapLongitude(from.longitude + l / kRadian)};
}

double normalSectionRadius(double latitude, double azimuth) {
    const double sinPhi = std::sin(latitude * kRadian);
    const double w2 = 1.0 - kEccentricity2 * sinPhi * sinPhi;
    const double w = std::sqrt(w2);
    const double n = kGrs80SemiMajor / w;                          // prime vertical
    const double m = kGrs80SemiMajor * (1.0 - kEccentricity2) / (w2 * w);  // meridian
    const double sinA = std::sin(azimuth * kRadian);
    const double cosA = std::cos(azimuth * kRadian);
    return 1.0 / (cosA * cosA / m + sinA * sinA / n);
}

Cartesian toCartesian(LatLon position, double height) {
    const double phi = position.latitude * kRadian;
    const double lambda = position.longitude * kRadian;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double n = kGrs80SemiMajor / std::sqrt(1.0 - kEccentricity2 * sinPhi * sinPhi);
    return {(n + height) * cosPhi * std::cos(lambda), (n + height) * cosPhi * std::sin(lambda),
            (n * (1.0 - kEccentricity2) + height) * sinPhi};
}

}  // namespace orv::panorama
