// The row frame every band-product family runs in: the inputs opened (their length proved),
// one row buffer per file, the gauge and hint panel, one row read from every input per step,
// and the products committed together at the end. The gauge is put back to 0 however the run
// ends.
#pragma once

#include "bandproc/vBandFiles.h"
#include "bandproc/vUPrepare.h"

#include <cstdint>
#include <string>
#include <vector>

class TRowFrame {
  public:
    TRowFrame(const TBandGeometry& g, const std::string& hint);
    ~TRowFrame();
    TRowFrame(const TRowFrame&) = delete;
    TRowFrame& operator=(const TRowFrame&) = delete;

    // Opens an input of W-byte rows; returns its row buffer.
    const uint8_t* AddInput(const std::string& path);
    // Creates a product of `width`-byte rows (W when 0); returns its zero-filled row buffer.
    uint8_t* AddProduct(const std::string& path, int64_t width = 0);

    // One pass over all H rows: gauge, pending messages, a row from every input, then
    // perRow(i) for the row's index i from 0.
    template <class F> void Pass(F&& perRow) {
        for (int64_t i = 0; i < G.H; ++i) {
            Step(i);
            for (size_t n = 0; n < Inputs.size(); ++n)
                Inputs[n].ReadRow(InRows[n].data());
            perRow(i);
        }
    }
    // The gauge and pending messages before row i.
    void Step(int64_t i);
    void Rewind();
    void Read(size_t input, uint8_t* row) { Inputs[input].ReadRow(row); }
    void Write(size_t product) {
        Products[product].WriteRow(OutRows[product].data(), OutRows[product].size());
    }
    void Write(size_t product, const uint8_t* row) {
        Products[product].WriteRow(row, OutRows[product].size());
    }
    void Commit();

    const TBandGeometry G;

  private:
    std::vector<TBandReader> Inputs;
    std::vector<std::vector<uint8_t>> InRows;
    std::vector<TProductWriter> Products;
    std::vector<std::vector<uint8_t>> OutRows;
};

// A product of one real value per pixel: with autorange two passes (the product created only
// for the second), else one. value(k) gives the result at offset k of the current row.
template <class Value>
void RunValueProduct(TRowFrame& f, bool autoRange, const std::string& path, Value value) {
    const int64_t w = f.G.W;
    if (!autoRange) {
        uint8_t* out = f.AddProduct(path);
        f.Pass([&](int64_t) {
            for (int64_t k = 0; k < w; ++k)
                out[k] = ProductByte(value(k));
            f.Write(0);
        });
        return;
    }
    TAutoRange range;
    f.Pass([&](int64_t) {
        for (int64_t k = 0; k < w; ++k)
            range.Take(value(k));
    });
    uint8_t* out = f.AddProduct(path);
    f.Rewind();
    f.Pass([&](int64_t) {
        for (int64_t k = 0; k < w; ++k)
            out[k] = range.Map(value(k));
        f.Write(0);
    });
}
