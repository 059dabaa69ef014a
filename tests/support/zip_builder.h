#pragma once
// Builds ZIP archives in memory for tests, including hostile ones: any stored name, deflated or
// stored data, and a wrong CRC on request.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

class ZipBuilder {
public:
    struct Entry {
        std::string name;
        std::string data;
        bool deflate = true;
        bool breakCrc = false;
        uint16_t flags = 0;
    };

    ZipBuilder& Add(std::string name, std::string data, bool deflate = true) {
        entries_.push_back({std::move(name), std::move(data), deflate});
        return *this;
    }
    ZipBuilder& Add(Entry entry) {
        entries_.push_back(std::move(entry));
        return *this;
    }

    std::vector<uint8_t> Build() const {
        std::vector<uint8_t> out, central;
        for (const Entry& entry : entries_) {
            const std::string packed = entry.deflate ? Deflate(entry.data) : entry.data;
            uint32_t crc =
                uint32_t(crc32(0, reinterpret_cast<const Bytef*>(entry.data.data()), uInt(entry.data.size())));
            if (entry.breakCrc) crc ^= 1;
            const uint32_t offset = uint32_t(out.size());
            auto header = [&](std::vector<uint8_t>& to, bool centralRecord) {
                Put32(to, centralRecord ? 0x02014b50 : 0x04034b50);
                if (centralRecord) Put16(to, 20);  // made by
                Put16(to, 20);                     // needed
                Put16(to, entry.flags);
                Put16(to, entry.deflate ? 8 : 0);
                Put32(to, 0);  // time and date
                Put32(to, crc);
                Put32(to, uint32_t(packed.size()));
                Put32(to, uint32_t(entry.data.size()));
                Put16(to, uint16_t(entry.name.size()));
                Put16(to, 0);  // extra
                if (centralRecord) {
                    Put16(to, 0);  // comment
                    Put16(to, 0);  // disk
                    Put16(to, 0);  // internal attributes
                    Put32(to, 0);  // external attributes
                    Put32(to, offset);
                }
                to.insert(to.end(), entry.name.begin(), entry.name.end());
            };
            header(out, false);
            out.insert(out.end(), packed.begin(), packed.end());
            header(central, true);
        }
        const uint32_t centralOffset = uint32_t(out.size());
        out.insert(out.end(), central.begin(), central.end());
        Put32(out, 0x06054b50);
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, uint16_t(entries_.size()));
        Put16(out, uint16_t(entries_.size()));
        Put32(out, uint32_t(central.size()));
        Put32(out, centralOffset);
        Put16(out, 0);
        return out;
    }

    // Raw deflate, as ZIP stores it.
    static std::string Deflate(const std::string& data) {
        z_stream z = {};
        deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY);
        std::string out(deflateBound(&z, uLong(data.size())), '\0');
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        z.avail_in = uInt(data.size());
        z.next_out = reinterpret_cast<Bytef*>(&out[0]);
        z.avail_out = uInt(out.size());
        deflate(&z, Z_FINISH);
        out.resize(z.total_out);
        deflateEnd(&z);
        return out;
    }

private:
    static void Put16(std::vector<uint8_t>& to, uint16_t v) {
        to.push_back(uint8_t(v));
        to.push_back(uint8_t(v >> 8));
    }
    static void Put32(std::vector<uint8_t>& to, uint32_t v) {
        Put16(to, uint16_t(v));
        Put16(to, uint16_t(v >> 16));
    }
    std::vector<Entry> entries_;
};
