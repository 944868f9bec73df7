#include "ProjOracle.h"
#include "ProjectionFixture.h"

#include "projections/kovDatum.h"

#include <cmath>
#include <limits>
#include <proj.h>

namespace {

class DatumShift : public ProjectionTest {
  protected:
    void Datums(double in, double out) {
        InParm[SlotDatum] = in;
        OutParm[SlotDatum] = out;
    }
};

using oracle::Num;

TEST_F(DatumShift, DatumTableInTheClientsOrderWithKnownEllipsoids) {
    std::string names;
    for (int i = 0; i < DatumCount; ++i) {
        names += DatumTable[i].Name + " ";
        EXPECT_TRUE(FindEllipsoid(DatumTable[i].Ellipsoid)) << DatumTable[i].Ellipsoid;
    }
    EXPECT_EQ(names, "ADINDAN ARC1950 ARC1960 AUSTRALIAN_GEODETIC_1966 AUSTRALIAN_GEODETIC_1984 "
                     "CAMP_AREA_ASTRO CAPE EUROPEAN_DATUM_1950 EUROPEAN_DATUM_1979 "
                     "GEODETIC_DATUM_1949 HONG_KONG_1963 HU_TZU_SHAN INDIAN NAD27 NAD83 "
                     "OLD_HAWAIIAN_MEAN OMAN ORDNANCE_SURVEY_1936 PUERTO_RICO PULKOVO_1942 "
                     "PROVISIONAL_S_AMERICAN_1956 TOKYO WGS_72 WGS_84 ");
}

// The stored differences give back each ellipsoid's published axis and inverse flattening.
TEST_F(DatumShift, EllipsoidDifferencesMatchTheEllipsoids) {
    struct Case {
        const char* name;
        double a, rf;
    } cases[EllipsoidShiftCount] = {
        // clang-format off
        {"AIRY_1830", 6377563.396, 299.3249646}, {"AUSTRALIAN_NATIONAL", 6378160.0, 298.25},
        {"BESSEL_1841", 6377397.155, 299.1528128}, {"CLARKE_1866", 6378206.4, 294.9786982},
        {"CLARKE_1880", 6378249.145, 293.465}, {"EVEREST_1830", 6377276.345, 300.8017},
        {"EVEREST_1956", 6377301.243, 300.8017}, {"GRS_1980", 6378137.0, 298.257222101},
        {"HOUGH_1960", 6378270.0, 297.0}, {"INTERNATIONAL_1924", 6378388.0, 297.0},
        {"KRASSOVSKY_1940", 6378245.0, 298.3}, {"MODIFIED_AIRY", 6377340.189, 299.3249646},
        {"WGS_72", 6378135.0, 298.26}, {"WGS_84", 6378137.0, 298.257223563},
        // clang-format on
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(FindEllipsoid(c.name)) << c.name;
        EXPECT_NEAR(Wgs84Major - CurrentDatum.Ellipsoid.DA, c.a, 1e-3) << c.name;
        EXPECT_NEAR(Wgs84Flattening - CurrentDatum.Ellipsoid.DF, 1.0 / c.rf, 5e-12) << c.name;
    }
    EXPECT_FALSE(FindEllipsoid("clarke_1866"));
}

TEST_F(DatumShift, SameDatumOrWgs84OnBothSidesLeavesThePoint) {
    Datums(23, 23);
    double lon = 9, lat = 9;
    EXPECT_EQ(ConvertDatum(-1.2, 0.7, lon, lat), 0);
    EXPECT_EQ(lon, -1.2);
    EXPECT_EQ(lat, 0.7);
    EXPECT_TRUE(ProjectionLog.empty());
}

TEST_F(DatumShift, FailuresReportTheirStepAndLeaveTheOutputs) {
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double in, out;
        const char* missingEllipsoidOf; // a datum whose ellipsoid is made unknown
        int inError, outError;          // the FATAL ERROR numbers of the two steps
    } cases[] = {
        {24, 23, nullptr, 5, 1},    {23, 40, nullptr, 3, 2},  {-1, 13, nullptr, 5, 1},
        {13, 23, "NAD27", 6, 1},    {23, 0, "ADINDAN", 4, 2}, {NaN, 13, nullptr, 5, 1},
        {23, 1e300, nullptr, 3, 2},
    };
    for (const Case& c : cases) {
        Datums(c.in, c.out);
        std::string saved;
        DatumRow* row = nullptr;
        for (DatumRow& r : DatumTable)
            if (c.missingEllipsoidOf && r.Name == c.missingEllipsoidOf) row = &r;
        if (row) {
            saved = row->Ellipsoid;
            row->Ellipsoid = "NO_SUCH_ELLIPSOID";
        }
        double lon = 7.0, lat = 8.0;
        EXPECT_EQ(ConvertDatum(0.1, 0.2, lon, lat), 2002);
        if (row) row->Ellipsoid = saved;
        EXPECT_EQ(lon, 7.0);
        EXPECT_EQ(lat, 8.0);
        EXPECT_EQ(TakeLog(), (std::vector<std::string>{
                                 "Datum Conversion", "FATAL ERROR: " + std::to_string(c.inError),
                                 "Datum Conversion", "FATAL ERROR: " + std::to_string(c.outError)}))
            << c.in << "->" << c.out;
    }
}

TEST_F(DatumShift, AtAPoleTheLongitudeStays) {
    Datums(13, 23);
    for (double pole : {HALF_PI, -HALF_PI}) {
        double lon = 0, lat = 0;
        ASSERT_EQ(ConvertDatum(0.3, pole, lon, lat), 0);
        EXPECT_EQ(lon, 0.3);
        EXPECT_TRUE(std::isfinite(lat));
        EXPECT_NEAR(lat, pole, 1e-4);
    }
}

// Close to a pole a shift of metres turns the longitude by whole turns and may carry the point
// over the pole; the result stays on the globe's ranges and within the shift of the pole.
TEST_F(DatumShift, NearAPoleThePointStaysOnTheGlobe) {
    struct Case {
        int in, out;
        double lonDeg, latDeg;
    } cases[] = {
        {13, 23, 30, 89.9999999},
        {13, 23, -90, 89.9999999}, // the second passes the pole
        {23, 13, -150, -89.9999999},
    };
    for (const Case& c : cases) {
        Datums(c.in, c.out);
        double lon = 0, lat = 0;
        ASSERT_EQ(ConvertDatum(c.lonDeg * D2R, c.latDeg * D2R, lon, lat), 0);
        EXPECT_LE(std::fabs(lon), PI) << c.lonDeg << " " << c.latDeg;
        EXPECT_LE(std::fabs(lat), HALF_PI) << c.lonDeg << " " << c.latDeg;
        EXPECT_LT(HALF_PI - std::fabs(lat), 1e-4) << c.lonDeg << " " << c.latDeg;
        EXPECT_EQ(lat > 0, c.latDeg > 0);
    }
}

// PROJ's standard Molodensky operation with the same constants is the independent check.
TEST_F(DatumShift, Nad27ToWgs84AgreesWithProjWithinACentimetre) {
    ASSERT_TRUE(FindEllipsoid("CLARKE_1866"));
    const EllipsoidShift e = CurrentDatum.Ellipsoid;
    const DatumRow& d = DatumTable[13];
    const std::string def = "+proj=molodensky +a=" + Num(Wgs84Major - e.DA) +
                            " +rf=" + Num(1.0 / (Wgs84Flattening - e.DF)) + " +da=" + Num(e.DA) +
                            " +df=" + Num(e.DF) + " +dx=" + Num(d.DX) + " +dy=" + Num(d.DY) +
                            " +dz=" + Num(d.DZ);
    PJ_CONTEXT* ctx = proj_context_create();
    PJ* op = proj_create(ctx, def.c_str());
    ASSERT_NE(op, nullptr) << def;
    Datums(13, 23);
    struct Point {
        double lonDeg, latDeg;
    } points[] = {{-77.0365, 38.8977}, {-122.4194, 37.7749}, {-96.7970, 32.7767}};
    for (const Point& p : points) {
        const double lon = p.lonDeg * D2R, lat = p.latDeg * D2R;
        double gotLon = 0, gotLat = 0;
        ASSERT_EQ(ConvertDatum(lon, lat, gotLon, gotLat), 0);
        const PJ_COORD want = proj_trans(op, PJ_FWD, proj_coord(lon, lat, 0, 0));
        const double metres = 6378137.0;
        EXPECT_LT(std::fabs(gotLat - want.lp.phi) * metres, 0.01) << p.lonDeg;
        EXPECT_LT(std::fabs(gotLon - want.lp.lam) * std::cos(lat) * metres, 0.01) << p.lonDeg;
        // The shift itself is tens of metres: the comparison is not of two unshifted points.
        EXPECT_GT(std::fabs(gotLon - lon) * std::cos(lat) * metres, 10.0);
    }
    proj_destroy(op);
    proj_context_destroy(ctx);
}

} // namespace
