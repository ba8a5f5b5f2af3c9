# The 8 x 8 candidate tiles seen from above, drawn or culled by the wedge,
# for the start view and one turned view.
load 'style.gpi'
load 'numbers/values.txt'
set output 'wedge.png'
eval canvas(1500, 1000)
set multiplot layout 1,2 title sprintf("The culling wedge from above: its apex %g units behind the camera, its edges 45° either\nside of the view; each candidate tile is tested at its centre; the eye's own 90° field\nof view (dashed) for comparison; the counts are the overlay's", cull_apex_pull_back)
set size ratio -1
set xrange [-530:530]
set yrange [-530:530]
set xtics 256
set ytics 256
set mxtics 2
set mytics 2
set grid xtics ytics mxtics mytics ls 6 lw 0.3, ls 6 lw 0.3
set xlabel 'x (world units)'
set ylabel 'y (world units)'
set key at screen 0.5, screen 0.01 center bottom horizontal maxrows 4 box opaque
set bmargin 12
set style fill transparent solid 0.55 border lc rgb '#1f5f9f'
do for [v=0:1] {
    h = v == 0 ? start_view_heading : turned_view_heading
    n = v == 0 ? start_view_tiles_drawn : turned_view_tiles_drawn
    set title sprintf("heading %g: %d of 64 tiles drawn", h, n)
    if (v == 1) { unset key }
    plot 'numbers/wedge-tiles.dat' index v using 1:2:3:3 with boxxyerror fs empty lc rgb '#aaaaaa' title 'candidate tile culled', \
         '' index v using ($4 > 0 ? $1 : NaN):2:3:3 with boxxyerror lc rgb '#1f5f9f' title 'tile drawn', \
         'numbers/wedge-edges.dat' index v every :::0::1 using 1:2 with lines ls 2 title 'wedge edges from the apex', \
         '' index v every :::2::3 using 1:2 with lines ls 5 title "eye's field of view", \
         'numbers/wedge-points.dat' index v every ::0::0 using 1:2 with points pt 2 ps 2.5 lw 2 lc rgb '#d95f02' title 'apex', \
         '' index v every ::1::1 using 1:2 with points pt 7 ps 1.5 lc rgb 'black' title 'camera (cameraX, cameraY)', \
         '' index v every ::2::2 using 1:2 with points pt 9 ps 1.8 lc rgb '#1b9e77' title 'eye'
}
unset multiplot
