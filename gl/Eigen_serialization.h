#ifndef GL_EIGEN_SERIALIZATION_H
#define GL_EIGEN_SERIALIZATION_H

#include <Eigen/Core>
#include <boost/serialization/nvp.hpp>

// Fixed-size Eigen vectors and matrices in the game's archives: one element "v"
// per coefficient, column by column, whatever the storage order.
namespace boost
{
namespace serialization
{

template <class Archive, typename Scalar, int Rows, int Cols, int Options, int Max_rows, int Max_cols>
void serialize(Archive& ar, Eigen::Matrix<Scalar, Rows, Cols, Options, Max_rows, Max_cols>& matrix,
               unsigned int const /*version*/)
{
    static_assert(Rows != Eigen::Dynamic && Cols != Eigen::Dynamic, "only fixed-size matrices are archived");
    for (int column = 0; column < Cols; ++column)
        for (int row = 0; row < Rows; ++row) ar& boost::serialization::make_nvp("v", matrix(row, column));
}

} // namespace serialization
} // namespace boost

#endif
