#pragma once
// A small GPX file shaped like those of today's phone apps and receivers, for the GPX tests of
// several areas: GPX 1.1 with metadata, two waypoints, a planned route, and a track of two
// segments whose times pass midnight UTC (09:00 in Japan), with the extensions apps add.
//
//   line  4  wpt 幌尻岳           42.7196, 142.6838, ele 2052, 2024-05-04T22:10:00Z, sym Summit
//   line 10  wpt 幌尻山荘         42.7300, 142.6300, no elevation or time
//   line 14  rte 計画ルート: rtept 42.73/142.63, 42.7196/142.6838
//   line 19  trk 今日のログ, segment 1: 23:59:30Z and 2024-05-05T00:00:30Z, then
//            segment 2: 14:59:59Z and 15:00:00+00:00 (read as UTC 15:00:00)
#include <string>

namespace orv::test {

inline std::string gpxFixture() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"                                         // 1
           "<gpx version=\"1.1\" creator=\"PhoneApp 5.2\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
           "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\">\n"           // 2
           " <metadata><name>幌尻岳 2024</name><time>2024-05-05T09:00:00Z</time></metadata>\n"     // 3
           " <wpt lat=\"42.7196\" lon=\"142.6838\">\n"                                             // 4
           "  <ele>2052</ele>\n"                                                                   // 5
           "  <time>2024-05-04T22:10:00Z</time>\n"                                                 // 6
           "  <name>幌尻岳</name>\n"                                                               // 7
           "  <sym>Summit</sym>\n"                                                                 // 8
           " </wpt>\n"                                                                             // 9
           " <wpt lat=\"42.73\" lon=\"142.63\">\n"                                                 // 10
           "  <name>幌尻山荘</name>\n"                                                             // 11
           "  <desc>小屋 &amp; 水場</desc>\n"                                                      // 12
           " </wpt>\n"                                                                             // 13
           " <rte><name>計画ルート</name>\n"                                                       // 14
           "  <rtept lat=\"42.73\" lon=\"142.63\"><name>山荘</name></rtept>\n"                     // 15
           "  <rtept lat=\"42.7196\" lon=\"142.6838\"><name>山頂</name></rtept>\n"                 // 16
           " </rte>\n"                                                                             // 17
           " <!-- recorded -->\n"                                                                  // 18
           " <trk><name>今日のログ</name><type>hiking</type>\n"                                    // 19
           "  <trkseg>\n"                                                                          // 20
           "   <trkpt lat=\"42.7300\" lon=\"142.6300\"><ele>1190.5</ele><time>2024-05-04T23:59:30Z</time>\n"  // 21
           "    <extensions><gpxtpx:TrackPointExtension><gpxtpx:hr>121</gpxtpx:hr></gpxtpx:TrackPointExtension></extensions>\n"  // 22
           "   </trkpt>\n"                                                                         // 23
           "   <trkpt lat=\"42.7310\" lon=\"142.6320\"><ele>1210</ele><time>2024-05-05T00:00:30.250Z</time></trkpt>\n"  // 24
           "  </trkseg>\n"                                                                         // 25
           "  <trkseg>\n"                                                                          // 26
           "   <trkpt lat=\"42.7196\" lon=\"142.6838\"><ele>2052</ele><time>2024-05-05T14:59:59Z</time></trkpt>\n"  // 27
           "   <trkpt lat=\"42.7195\" lon=\"142.6837\"><ele>2050</ele><time>2024-05-05T15:00:00+00:00</time></trkpt>\n"  // 28
           "  </trkseg>\n"                                                                         // 29
           " </trk>\n"                                                                             // 30
           "</gpx>\n";                                                                             // 31
}

}  // namespace orv::test
