# The normal map as the viewer uploads it, each channel's contrast
# stretched so that its few used byte values can be seen.
load 'style.gpi'
load 'numbers/values.txt'
set output 'normal-map.png'
set terminal pngcairo size 1000,900
stretch(v, lo, hi) = (v - lo) * 255.0 / (hi - lo)
set title sprintf("The normal map as uploaded: bytes 127 + 127 x %.1f x (n_x, n_y, n_z) as red, green, blue, of the fixed sea\nCONTRAST STRETCHED: each channel's own byte range (red %d-%d, green %d-%d, blue %d-%d) spread over 0-255", normal_map_scale, normal_map_red_min, normal_map_red_max, normal_map_green_min, normal_map_green_max, normal_map_blue_min, normal_map_blue_max)
set xlabel 'texel column (lattice index j, along y)'
set ylabel 'texel row (lattice index i, along x); row 0 uploaded first'
set size ratio -1
set xrange [-0.5:grid_size - 0.5]
set yrange [-0.5:grid_size - 0.5]
set key off
plot 'numbers/normal-map.dat' using 1:2:(stretch($3, normal_map_red_min, normal_map_red_max)):(stretch($4, normal_map_green_min, normal_map_green_max)):(stretch($5, normal_map_blue_min, normal_map_blue_max)) with rgbimage
